#include "form/memory_form.h"

#include <cstring>

namespace {

bool IsField(FieldId id) { return id >= kFirstFieldId && id <= kLastFieldId; }

}  // namespace

const std::string& FieldText(const Form& form, FieldId id) {
    static const std::string kNoText;
    return IsField(id) ? form.texts[id - kFirstFieldId] : kNoText;
}

void GetFieldText(Dialog dlg, FieldId id, char* text, int limit) {
    if (limit <= 0) return;
    const std::string& stored = FieldText(*dlg, id);
    size_t n = stored.size();
    if (n > static_cast<size_t>(limit - 1)) n = static_cast<size_t>(limit - 1);
    std::memcpy(text, stored.data(), n);
    text[n] = '\0';
}

void SetFieldText(Dialog dlg, FieldId id, const char* text) {
    if (IsField(id)) dlg->texts[id - kFirstFieldId] = text;
}
