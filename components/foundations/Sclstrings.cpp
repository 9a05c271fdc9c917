#include "components/foundations/Sclstrings.h"

#include <algorithm>

#include "platform/classlib/SysUtils.h"

namespace {

bool Is_Trimmed(char C)
{
    return static_cast<unsigned char>(C) <= 0x20;
}

// Position just after the Index-th separator, or npos when S has fewer.
std::string::size_type Field_Start(const std::string& S, char Sep, int Index)
{
    std::string::size_type start = 0;
    for (int passed = 0; passed < Index; ++passed) {
        const auto found = S.find(Sep, start);
        if (found == std::string::npos)
            return std::string::npos;
        start = found + 1;
    }
    return start;
}

} // namespace

std::string SCLFillString(int Count, char C)
{
    return Count > 0 ? std::string(static_cast<std::size_t>(Count), C) : std::string();
}

std::string SCLSpace(int Count)
{
    return SCLFillString(Count, ' ');
}

std::string SCLAddCharL(const std::string& S, int Len, char C)
{
    return SCLFillString(Len - static_cast<int>(S.size()), C) + S;
}

std::string SCLAddCharR(const std::string& S, int Len, char C)
{
    return S + SCLFillString(Len - static_cast<int>(S.size()), C);
}

std::string SCLAddSpaceL(const std::string& S, int Len) { return SCLAddCharL(S, Len, ' '); }
std::string SCLAddSpaceR(const std::string& S, int Len) { return SCLAddCharR(S, Len, ' '); }
std::string SCLAddZeroL(const std::string& S, int Len) { return SCLAddCharL(S, Len, '0'); }
std::string SCLAddZeroR(const std::string& S, int Len) { return SCLAddCharR(S, Len, '0'); }

bool SCLEmpty(const std::string& S)
{
    return S.find_first_not_of(' ') == std::string::npos;
}

int SCLCount(const std::string& S, char C)
{
    return static_cast<int>(std::count(S.begin(), S.end(), C));
}

int SCLBackPos(char C, const std::string& S)
{
    const auto found = S.rfind(C);
    return found == std::string::npos ? 0 : static_cast<int>(found) + 1;
}

int SCLScanToNumber(const std::string& S)
{
    // Strings are UTF-8, whose lead and continuation bytes are all above
    // 0x7F: no byte of a multi-byte character can be taken for a digit.
    const auto found = S.find_first_of("0123456789");
    return found == std::string::npos ? 0 : static_cast<int>(found) + 1;
}

std::string SCLTrimL(const std::string& S)
{
    const auto first = std::find_if_not(S.begin(), S.end(), Is_Trimmed);
    return std::string(first, S.end());
}

std::string SCLTrimR(const std::string& S)
{
    const auto last = std::find_if_not(S.rbegin(), S.rend(), Is_Trimmed);
    return std::string(S.begin(), last.base());
}

std::string SCLTrim(const std::string& S)
{
    return SCLTrimR(SCLTrimL(S));
}

std::string SCLReplaceChar(const std::string& S, char OldChar, char NewChar)
{
    std::string result = S;
    std::replace(result.begin(), result.end(), OldChar, NewChar);
    return result;
}

std::string SCLGetFirstString(const std::string& S, char Sep)
{
    return S.substr(0, S.find(Sep));
}

std::string SCLGetSecondString(const std::string& S, char Sep)
{
    const auto found = S.find(Sep);
    if (found == std::string::npos)
        return S;
    return S.substr(found + 1, 255);
}

std::string SCLSlashAdd(const std::string& S)
{
    if (!SCLEmpty(S) && S.back() == '\\')
        return S;
    return S + '\\';
}

std::string SCLSlashRemove(const std::string& S)
{
    if (!SCLEmpty(S) && S.back() == '\\')
        return S.substr(0, S.size() - 1);
    return S;
}

std::string SCLCodeString(std::span<const std::string> Values, char Sep)
{
    std::string result;
    for (std::size_t i = 0; i < Values.size(); ++i) {
        if (i > 0)
            result += Sep;
        result += Values[i];
    }
    return result;
}

std::string SCLCodeInt(std::span<const int> Values, char Sep)
{
    std::string result;
    for (std::size_t i = 0; i < Values.size(); ++i) {
        if (i > 0)
            result += Sep;
        result += IntToStr(Values[i]);
    }
    return result;
}

int SCLGetCodedCount(const std::string& S, char Sep)
{
    return S.empty() ? 0 : SCLCount(S, Sep) + 1;
}

std::string SCLGetCodedString(const std::string& S, char Sep, int Index)
{
    if (Index < 0)
        return {};
    const auto start = Field_Start(S, Sep, Index);
    if (start == std::string::npos)
        return {};
    const auto end = S.find(Sep, start);
    return S.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

int SCLGetCodedInt(const std::string& S, char Sep, int Index)
{
    const std::string field = SCLGetCodedString(S, Sep, Index);
    return field.empty() ? -1 : StrToInt(field);
}

void SCLSetCodedString(std::string& S, const std::string& Value, char Sep, int Index)
{
    if (Index < 0)
        return;
    const int missing = Index - std::min(SCLCount(S, Sep), Index);
    S += SCLFillString(missing, Sep);
    const auto start = Field_Start(S, Sep, Index);
    const auto end = std::min(S.find(Sep, start), S.size());
    S.replace(start, end - start, Value);
}
