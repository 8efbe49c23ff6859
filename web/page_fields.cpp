// The form's two field primitives on the page: a field is the <input> whose
// id is the field's IDC_ name, and its value is the field's text.
//
// Text crosses as 8-bit characters, one per code point: U+0000 to U+00FF as
// that byte, anything above as '?', which can continue no number, so such a
// character ends the number read before it.
#include <emscripten/emscripten.h>

#include "form/form.h"

// The input of a field, looked up by name once and then kept by identifier:
// a field is read eleven times in every calculation.
EM_JS(void, CopyInputText, (int id, const char* name, char* text, int limit), {
    const inputs = Module.fieldInputs || (Module.fieldInputs = []);
    const input = inputs[id] || (inputs[id] = document.getElementById(UTF8ToString(name)));
    const value = input ? input.value : "";
    let n = 0;
    for (let i = 0; i < value.length && n < limit - 1; ++i) {
        const code = value.charCodeAt(i);
        // A surrogate pair is one character.
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < value.length) {
            const next = value.charCodeAt(i + 1);
            if (next >= 0xDC00 && next <= 0xDFFF) ++i;
        }
        HEAPU8[text + n++] = code <= 0xFF ? code : 0x3F;
    }
    HEAPU8[text + n] = 0;
});

EM_JS(void, SetInputText, (int id, const char* name, const char* text), {
    const inputs = Module.fieldInputs || (Module.fieldInputs = []);
    const input = inputs[id] || (inputs[id] = document.getElementById(UTF8ToString(name)));
    if (!input) return;
    let value = "";
    for (let p = text; HEAPU8[p] !== 0; ++p) value += String.fromCharCode(HEAPU8[p]);
    input.value = value;
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
