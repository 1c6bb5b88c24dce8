#include "gst/placeofsupply.h"

#include <array>

namespace {

// A range of PIN prefixes (of two or three digits) and the state code it lies in.
struct PinRange
{
    int first;
    int last;
    const char16_t *stateCode;
};

// Three-digit prefixes that lie in another state than their circle's, looked at first.
constexpr std::array<PinRange, 15> ThreeDigit{{
    {160, 160, u"04"},  // Chandigarh
    {194, 194, u"38"},  // Ladakh
    {244, 249, u"05"},  // Uttarakhand
    {262, 263, u"05"},
    {396, 396, u"26"},  // Dadra and Nagar Haveli and Daman and Diu
    {403, 403, u"30"},  // Goa
    {605, 605, u"34"},  // Puducherry
    {737, 737, u"11"},  // Sikkim
    {744, 744, u"35"},  // Andaman and Nicobar Islands
    {790, 792, u"12"},  // Arunachal Pradesh
    {793, 794, u"17"},  // Meghalaya
    {795, 795, u"14"},  // Manipur
    {796, 796, u"15"},  // Mizoram
    {797, 798, u"13"},  // Nagaland
    {799, 799, u"16"},  // Tripura
}};

constexpr std::array<PinRange, 23> TwoDigit{{
    {11, 11, u"07"},  // Delhi
    {12, 13, u"06"},  // Haryana
    {14, 16, u"03"},  // Punjab
    {17, 17, u"02"},  // Himachal Pradesh
    {18, 19, u"01"},  // Jammu and Kashmir
    {20, 28, u"09"},  // Uttar Pradesh
    {30, 34, u"08"},  // Rajasthan
    {36, 39, u"24"},  // Gujarat
    {40, 44, u"27"},  // Maharashtra
    {45, 48, u"23"},  // Madhya Pradesh
    {49, 49, u"22"},  // Chhattisgarh
    {50, 50, u"36"},  // Telangana
    {51, 53, u"37"},  // Andhra Pradesh
    {56, 59, u"29"},  // Karnataka
    {60, 64, u"33"},  // Tamil Nadu
    {67, 69, u"32"},  // Kerala
    {70, 74, u"19"},  // West Bengal
    {75, 77, u"21"},  // Odisha
    {78, 78, u"18"},  // Assam
    {80, 80, u"10"},  // Bihar
    {81, 83, u"20"},  // Jharkhand
    {84, 85, u"10"},  // Bihar
    {99, 99, u"97"},  // the army postal service: other territory
}};

const char16_t *find(const auto &ranges, int prefix)
{
    for (const PinRange &range : ranges)
        if (prefix >= range.first && prefix <= range.last)
            return range.stateCode;
    return nullptr;
}

}  // namespace

QString stateCodeOfPin(const QString &pin)
{
    bool number = false;
    const int value = pin.toInt(&number);
    if (pin.size() != 6 || !number || value < 100000)
        return {};
    if (const char16_t *code = find(ThreeDigit, value / 1000))
        return QString::fromUtf16(code);
    if (const char16_t *code = find(TwoDigit, value / 10000))
        return QString::fromUtf16(code);
    return {};
}
