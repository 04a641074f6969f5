#include "storage/import_rows.h"

#include "storage/shortcut_file_encoding.h"
#include "text/utf8.h"

namespace quorvel {

ImportText decodeImportText(std::string_view bytes, const AnsiCodePage& codePage) {
    if (bytes.starts_with(Utf8Mark)) {
        bytes.remove_prefix(Utf8Mark.size());
        return {utf8::repaired(bytes), utf8::isValid(bytes)};
    }
    if (const std::optional<DecodedLine> utf16 = decodeUtf16File(bytes)) {
        return {utf16->text, utf16->exact};
    }
    if (utf8::isValid(bytes)) {
        return {std::string(bytes), true};
    }
    ImportText decoded;
    decoded.exact = codePage.appendUtf8(decoded.text, bytes);
    return decoded;
}

std::string literalNotation(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        switch (c) {
            case '+':
            case '^':
            case '%':
            case '~':
            case '(':
            case ')':
            case '{':
            case '}':
                out += '{';
                out += c;
                out += '}';
                break;
            case '\r':
                if (i + 1 < text.size() && text[i + 1] == '\n') {
                    ++i;
                }
                out += "\r\n";
                break;
            case '\n':
                out += "\r\n";
                break;
            default:
                out += c;
        }
    }
    return out;
}

}  // namespace quorvel
