#include "core/browser/PathUtilities.h"

#include <unistd.h>

std::string CurrentDirectory()
{
    char buffer[260] = {};
    if (!getcwd(buffer, sizeof buffer)) return std::string();
    return std::string(buffer);
}
