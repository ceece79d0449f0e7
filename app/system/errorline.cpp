#include "errorline.h"

#include <cstdio>

namespace metrivo {

void ErrorLine(std::string_view line) {
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}

}  // namespace metrivo
