#pragma once
// Reading one value of an INI file the way kernel32's GetPrivateProfileString does.
#include <cstddef>
#include <string>

namespace win {

// The value of `llave` in section `seccion` of `archivo` (a Windows-style or local path),
// as the text that the system call copies into a buffer of `tamanoBuffer` characters:
// - sections and keys are matched without regard to case; the first section of that name
//   is the one read;
// - blanks around the value are removed, and quotes (" or ') that enclose all of it;
// - a missing file, section or key gives `porOmision` without its trailing blanks;
// - the result holds at most tamanoBuffer - 1 characters (one place is the terminator).
// The file may be in UTF-8 or in the Windows code page; the result is UTF-8.
std::string GetPrivateProfileString(const std::string& seccion, const std::string& llave,
                                    const std::string& porOmision, std::size_t tamanoBuffer,
                                    const std::string& archivo);

}  // namespace win
