#pragma once
// Calendar arithmetic on the language's date serials and the locale-free text forms
// of dates. A serial counts days from 1899-12-30; its fraction is the time of day,
// counted positive also for the negative serials of earlier days (-1.25 is
// 1899-12-29 06:00:00).
#include <optional>
#include <string>

#include "platform/vb/Variant.h"

namespace vb::detalle {

struct PartesDeFecha {
  int anio = 1899, mes = 12, dia = 30;
  int hora = 0, minuto = 0, segundo = 0;
  long numeroDeDia = 0;  // whole days from 1899-12-30
};

// The parts of a date, rounded to the nearest second. Raises Overflow (6) outside
// the years 100 to 9999.
PartesDeFecha Descompone(DateTime fecha);

// A non-negative number with leading zeros up to `ancho` digits.
std::string Cifras(long valor, int ancho);

// Quotient rounded down (-1 / 12 is -1).
long DivisionEntera(long a, long b);

// Days from 1899-12-30 to a calendar day; months and days outside their range carry
// over into the next or previous month or year.
long NumeroDeDia(int anio, int mes, int dia);
// A day and a time of day (0 <= segundosDelDia < 86400) as a serial.
DateTime ComponeFecha(long numeroDeDia, double segundosDelDia);

// Raises Overflow (6) when the serial lies outside 100-01-01 .. 9999-12-31 23:59:59.
DateTime FechaEnRango(double serial);

// "YYYY-MM-DD", "YYYY/MM/DD" or "DD/MM/YYYY" (also "DD-MM-YYYY"), and a time
// "HH:MM[:SS[.fff]]", each alone or the date followed by blanks and the time.
std::optional<DateTime> LeeFecha(const std::string& texto);

// The general text form: "YYYY/MM/DD HH:MM:SS"; the time is left out at midnight and
// the date is left out on day 0 (1899-12-30), which holds pure times.
std::string TextoDeFecha(DateTime fecha);

}  // namespace vb::detalle
