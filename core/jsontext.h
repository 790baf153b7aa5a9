#ifndef JSONTEXT_H
#define JSONTEXT_H

#include <string>
#include <string_view>

// UTF-8 text as a JSON string, quotes included: quotes, backslashes and control characters escaped.
std::string jsonQuoted(std::string_view text);

#endif
