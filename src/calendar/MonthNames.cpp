// SPDX-License-Identifier: GPL-3.0-or-later

#include "MonthNames.h"

namespace velnora {

// Sheen, yeh, dal, seen, tcheh, peh, jeem (Saturday .. Friday).
const char* const WeekdayInitials[7] = {"\xD4", "\xED", "\xCF", "\xD3", "\x8D", "\x81", "\xCC"};

const char* const MonthNames[12] = {
    "\xDD\xD1\xE6\xD1\xCF\xED\xE4",     // Farvardin
    "\xC7\xD1\xCF\xED\xC8\xE5\xD4\xCA", // Ordibehesht
    "\xCE\xD1\xCF\xC7\xCF",             // Khordad
    "\xCA\xED\xD1",                     // Tir
    "\xE3\xD1\xCF\xC7\xCF",             // Mordad
    "\xD4\xE5\xD1\xED\xE6\xD1",         // Shahrivar
    "\xE3\xE5\xD1",                     // Mehr
    "\xC2\xC8\xC7\xE4",                 // Aban
    "\xC2\xD0\xD1",                     // Azar
    "\xCF\xED",                         // Dey
    "\xC8\xE5\xE3\xE4",                 // Bahman
    "\xC7\xD3\xDD\xE4\xCF",             // Esfand
};

// Hamal, sawr, jawza, saratan, asad, sonbola, mizan, aqrab, qaws, jadi, dalw, hut.
const char* const DariMonthNames[12] = {
    "\xCD\xE3\xE1",         // حمل
    "\xCB\xE6\xD1",         // ثور
    "\xCC\xE6\xD2\xC7",     // جوزا
    "\xD3\xD1\xD8\xC7\xE4", // سرطان
    "\xC7\xD3\xCF",         // اسد
    "\xD3\xE4\xC8\xE1\xE5", // سنبله
    "\xE3\xED\xD2\xC7\xE4", // میزان
    "\xDA\xDE\xD1\xC8",     // عقرب
    "\xDE\xE6\xD3",         // قوس
    "\xCC\xCF\xED",         // جدی
    "\xCF\xE1\xE6",         // دلو
    "\xCD\xE6\xCA",         // حوت
};

}  // namespace velnora
