#include "paste_reader.h"

#include "number_text.h"

namespace zobu {

double ReadPastedNumber(std::string_view utf8) {
    return TextToNum(utf8);
}

}  // namespace zobu
