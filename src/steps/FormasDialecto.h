#pragma once
// The recurring statements whose words depend on the dialect code (2 MS Access,
// 3 SQL Server, any other value MySQL). Routines that test one code alone choose their
// own words; these are the three-way choices.
#include <cstdint>
#include <string>

// "ALTER COLUMN" for 2 and 3, "MODIFY" otherwise.
std::string VerboAlterar(std::int16_t iManejador);
// A text column of `ancho` characters, with the closing semicolon:
// "TEXT(10);" for 2, "VARCHAR(10) NOT NULL;" otherwise.
std::string TipoTexto(std::int16_t iManejador, int ancho);
// A fixed-point amount with four decimals: "CURRENCY;" for 2, "DECIMAL(13,4) NOT NULL;"
// otherwise.
std::string TipoMoneda(std::int16_t iManejador);
// "ALTER TABLE " + tabla + " " + verb + " " + campo + " " + tipo, as in
// ALTER TABLE tblCajas MODIFY TA_PASSWORD VARCHAR(10) NOT NULL;
std::string CambiaColumna(std::int16_t iManejador, const std::string& tabla,
                          const std::string& campo, const std::string& tipo);
// The widening of a text column: CambiaColumna with TipoTexto.
std::string AmpliaTexto(std::int16_t iManejador, const std::string& tabla,
                        const std::string& campo, int ancho);
// "DROP TABLE tblX;" for 2 and 3, "DROP TABLE IF EXISTS tblX;" otherwise.
std::string BorraTabla(std::int16_t iManejador, const std::string& tabla);
// A fixed date as a literal of the routines' own form: "#1800/01/01#" for 2,
// "'1800-01-01'" otherwise (SQL Server included; GeneraFecHr is the other form).
std::string FechaLiteral(std::int16_t iManejador, int anio, int mes, int dia);
