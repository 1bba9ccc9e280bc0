#include "browser/ShownName.h"

#include "platform/inet/PrintableText.h"

std::string ShownName(std::string_view name)
{
    return PrintableText(name);
}
