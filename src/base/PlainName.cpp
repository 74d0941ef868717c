#include "base/PlainName.h"

namespace plandeck {

bool IsPlainName(std::string_view name) {
    if (name.empty() || name == "." || name.find("..") != std::string_view::npos)
        return false;
    for (unsigned char c : name) {
        if (c == '/' || c == '\\' || c < 0x20 || c == 0x7F)
            return false;
    }
    return true;
}

std::string PlainNameOr(std::string_view name, std::string_view fallback) {
    return std::string(IsPlainName(name) ? name : fallback);
}

} // namespace plandeck
