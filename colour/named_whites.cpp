#include "colour/named_whites.h"

namespace {

char ToLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// ASCII letter case only, whatever the locale.
bool EqualIgnoringCase(const char* a, const char* b) {
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        if (ToLower(*a) != ToLower(*b)) return false;
    }
    return *a == *b;
}

}  // namespace

const NamedWhite kNamedWhites[kNamedWhiteCount] = {
    {"D50", {0.34567, 0.35850}},
    {"D55", {0.33242, 0.34743}},
    {"D65", {0.31271, 0.32902}},
    {"D75", {0.29902, 0.31485}},
    {"A", {0.44757, 0.40745}},
    {"E", {1.0 / 3.0, 1.0 / 3.0}},
    {"DCI-P3", {0.314, 0.351}},
};

const NamedWhite* FindNamedWhite(const char* name) {
    for (const NamedWhite& white : kNamedWhites) {
        if (EqualIgnoringCase(white.name, name)) return &white;
    }
    return nullptr;
}
