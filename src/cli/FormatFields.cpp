// SPDX-License-Identifier: GPL-3.0-or-later

#include "FormatFields.h"

#include "Cp1256.h"

namespace velnora {

std::string WithFields(const std::string& format, const std::map<char, std::string>& fields) {
    std::string out;
    for (size_t i = 0; i < format.size(); ++i) {
        const char next = i + 1 < format.size() ? format[i + 1] : '\0';
        const auto field = format[i] == '%' ? fields.find(next) : fields.end();
        if (field != fields.end()) {
            for (const char c : field->second)
                out += c == '%' ? std::string("%%") : std::string(1, c);
            ++i;
        } else if (format[i] == '%' && next == '%') {
            out += "%%";
            ++i;
        } else {
            out += format[i];
        }
    }
    return out;
}

std::map<char, std::string> MonthNameFields(uint16_t month, MonthNaming naming) {
    if (naming == MonthNaming::Iranian)
        return {};
    // Persian months have no customary short names: %b is the name as well.
    const std::string name = PersianSpelling(DariMonthNames[month - 1]);
    return {{'B', name}, {'b', name}};
}

std::string PersianList(const std::vector<std::string>& names) {
    std::string out;
    for (const std::string& name : names)
        out += (out.empty() ? "" : "\u060C ") + name;
    return out;
}

}  // namespace velnora
