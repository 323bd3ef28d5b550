// Whether a picture file's bytes reach the end its format marks. Some image
// readers hand back the rows they got from a cut-off file without a word.
#pragma once

#include <string_view>

namespace tintorb {

// `format` is the reader's short name ("png", "jpeg", "gif", "bmp"); other
// formats are taken as whole (their readers refuse a cut-off file).
bool PictureBytesComplete(std::string_view format, std::string_view bytes);

}  // namespace tintorb
