// SPDX-License-Identifier: GPL-3.0-or-later

#include "DisplayText.h"

#include "Cp1256.h"

namespace velnora {

std::u16string DisplayText(const std::string& cp1256) {
    std::u16string text = Cp1256ToUtf16(cp1256);
    for (char16_t& code : text) {
        if (code >= u'0' && code <= u'9')
            code = static_cast<char16_t>(u'\u06F0' + (code - u'0'));
        else if (code == u'\u064A')
            code = u'\u06CC';
        else if (code == u'\u0643')
            code = u'\u06A9';
    }
    return text;
}

}  // namespace velnora
