#pragma once
// Reading a run log in tests: each entry is an empty line, "<label><number>" and the
// description, every line ended by CR LF.
#include <string>
#include <vector>

namespace prueba {

// The "<label><number>" line of each entry, in order.
std::vector<std::string> Encabezados(const std::string& log);
// The description line of each entry, in order.
std::vector<std::string> Descripciones(const std::string& log);

}  // namespace prueba
