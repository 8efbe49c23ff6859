#include "explain/load_file.h"

#include "edid/decode_edid.h"
#include "edid/edid.h"
#include "profile/decode_profile.h"
#include "source/read_file.h"

namespace {

using Decoder = LoadReport (*)(const unsigned char*, size_t, Colorimetry&, LoadNotes&);

Decoder DecoderOf(LoadSource source) {
    return source == LoadSource::kEdid ? Decoder(DecodeEdid) : Decoder(DecodeProfile);
}

SourceLoad Refused(LoadSource source, const LoadReport& report) {
    SourceLoad load = {report, {}};
    char reason[kLoadReasonSize];
    DescribeLoadReport(source, report, reason);
    std::snprintf(load.text, sizeof load.text, "%s", reason);
    return load;
}

SourceLoad LoadRead(Dialog dlg, LoadSource source, FileStatus read, const FileBytes& bytes) {
    if (read != FileStatus::kRead) return RefuseSource(source, LoadStatusOfFile(read));
    return LoadSourceBytes(dlg, source, bytes.data.get(), bytes.size);
}

}  // namespace

size_t SourceFileLimit(LoadSource source) { return source == LoadSource::kEdid ? kEdidFileLimit : kNoFileLimit; }

SourceLoad RefuseSource(LoadSource source, LoadStatus status) { return Refused(source, {status, 0, 0, 0, 0}); }

SourceLoad LoadSourceBytes(Dialog dlg, LoadSource source, const unsigned char* bytes, size_t size) {
    SourceLoad load = {};
    load.report = ApplyAndDescribe(dlg, DecoderOf(source), bytes, size, load.text);
    return load.report.status == LoadStatus::kApplied ? load : Refused(source, load.report);
}

SourceLoad LoadSourceFile(Dialog dlg, LoadSource source, const char* path) {
    FileBytes bytes;
    FileStatus read = ReadWholeFile(path, SourceFileLimit(source), bytes);
    return LoadRead(dlg, source, read, bytes);
}

SourceLoad LoadSourceStream(Dialog dlg, LoadSource source, std::FILE* stream) {
    FileBytes bytes;
    FileStatus read = ReadWholeStream(stream, SourceFileLimit(source), bytes);
    return LoadRead(dlg, source, read, bytes);
}
