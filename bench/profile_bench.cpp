// The profile load beside lcms2 doing the same job and beside a plain
// open-read-close of the same file: a real display profile of about 20 KiB,
// and a 6 MiB one whose large table lies after the tags the reader uses.
#include <benchmark/benchmark.h>
#include <lcms2.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "form/memory_form.h"
#include "profile/profile.h"
#include "tests/profile/profile_builder.h"

namespace {

namespace fs = std::filesystem;

const char kSmallProfile[] = "/usr/share/color/icc/colord/sRGB.icc";
constexpr size_t kLargeTableSize = 6 * 1024 * 1024;

// The synthetic profile lives for the run and is removed at exit.
struct LargeProfile {
    std::string path = (fs::temp_directory_path() / "tintmend-bench-6MiB.icc").string();
    LargeProfile() {
        Bytes bytes = BuildProfile({{"wtpt", D50WhiteTag()},
                                    {"rXYZ", RedColorantTag()},
                                    {"gXYZ", GreenColorantTag()},
                                    {"bXYZ", BlueColorantTag()},
                                    {"gTRC", GammaTag(0x0233)},
                                    {"A2B0", OpaqueTag("mft2", kLargeTableSize)}});
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (file == nullptr) return;
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    ~LargeProfile() { std::remove(path.c_str()); }
};

// Argument 0 is the small profile, 1 the large one.
const char* ProfilePath(benchmark::State& state) {
    static const LargeProfile large;
    const char* path = state.range(0) == 0 ? kSmallProfile : large.path.c_str();
    if (!fs::is_regular_file(path)) state.SkipWithError("profile missing");
    return path;
}

void BM_LoadProfile(benchmark::State& state) {
    const char* path = ProfilePath(state);
    std::snprintf(g_profilePath, sizeof g_profilePath, "%s", path);
    Form form;
    ApplyDefaultTexts(&form);
    for (auto _ : state) {
        LoadProfile(&form);
        benchmark::DoNotOptimize(form);
    }
    if (LoadProfileFrom(&form, path).status != LoadStatus::kApplied) state.SkipWithError("refused");
}
BENCHMARK(BM_LoadProfile)->Arg(0)->Arg(1);

void BM_Lcms2(benchmark::State& state) {
    const char* path = ProfilePath(state);
    const cmsTagSignature kXyzTags[] = {cmsSigMediaWhitePointTag, cmsSigRedColorantTag,
                                        cmsSigGreenColorantTag, cmsSigBlueColorantTag};
    for (auto _ : state) {
        cmsHPROFILE profile = cmsOpenProfileFromFile(path, "r");
        if (profile == nullptr) {
            state.SkipWithError("lcms2 cannot open it");
            break;
        }
        double xy[8] = {};
        for (int i = 0; i < 4; ++i) {
            const auto* xyz = static_cast<const cmsCIEXYZ*>(cmsReadTag(profile, kXyzTags[i]));
            if (xyz == nullptr) continue;
            double sum = xyz->X + xyz->Y + xyz->Z;
            xy[2 * i] = xyz->X / sum;
            xy[2 * i + 1] = xyz->Y / sum;
        }
        benchmark::DoNotOptimize(xy);
        benchmark::DoNotOptimize(cmsReadTag(profile, cmsSigGreenTRCTag));
        cmsCloseProfile(profile);
    }
}
BENCHMARK(BM_Lcms2)->Arg(0)->Arg(1);

// The floor for any reader that takes the whole file: open, length, one
// buffer, one read, close.
void BM_PlainRead(benchmark::State& state) {
    const char* path = ProfilePath(state);
    for (auto _ : state) {
        std::FILE* file = std::fopen(path, "rb");
        std::fseek(file, 0, SEEK_END);
        long length = std::ftell(file);
        std::fseek(file, 0, SEEK_SET);
        auto* bytes = static_cast<unsigned char*>(std::malloc(static_cast<size_t>(length)));
        benchmark::DoNotOptimize(std::fread(bytes, 1, static_cast<size_t>(length), file));
        std::fclose(file);
        std::free(bytes);
    }
}
BENCHMARK(BM_PlainRead)->Arg(0)->Arg(1);

}  // namespace
