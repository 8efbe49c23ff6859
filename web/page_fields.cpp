// The form's two field primitives on the page: a field is the <input> whose
// id is the field's IDC_ name, and its value is the field's text.
//
// Text crosses as 8-bit characters by the page's one mapping, in core.js,
// which the page hands the core as Module.writeTextBytes (and its reverse as
// Module.coreText) before the first field is read: '?' stands for anything
// beyond 8 bits, and can continue no number, so such a character ends the
// number read before it.
#include <emscripten/emscripten.h>

#include "form/form.h"

// The input of a field, looked up by name once and then kept by identifier:
// a field is read eleven times in every calculation.
EM_JS(void, CopyInputText, (int id, const char* name, char* text, int limit), {
    const inputs = Module.fieldInputs || (Module.fieldInputs = []);
    const input = inputs[id] || (inputs[id] = document.getElementById(UTF8ToString(name)));
    HEAPU8[text + Module.writeTextBytes(input ? input.value : "", limit - 1, HEAPU8, text)] = 0;
});

EM_JS(void, SetInputText, (int id, const char* name, const char* text), {
    const inputs = Module.fieldInputs || (Module.fieldInputs = []);
    const input = inputs[id] || (inputs[id] = document.getElementById(UTF8ToString(name)));
    if (!input) return;
    input.value = Module.coreText(text);
});

namespace {

bool IsField(FieldId id) { return id >= kFirstFieldId && id <= kLastFieldId; }

}  // namespace

void GetFieldText(Dialog, FieldId id, char* text, int limit) {
    if (limit <= 0) return;
    if (!IsField(id)) {
        text[0] = '\0';
        return;
    }
    CopyInputText(id, kFieldNames[id - kFirstFieldId], text, limit);
}

void SetFieldText(Dialog, FieldId id, const char* text) {
    if (IsField(id)) SetInputText(id, kFieldNames[id - kFirstFieldId], text);
}
