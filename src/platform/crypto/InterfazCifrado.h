#pragma once
/* The interface of the encryption component: a shared library in the program's folder
   that the program loads at run time, so that a site can put a library of its own with
   the same two functions in its place.

   Both functions take the program's folder (where the component may keep its key), a
   NUL-terminated UTF-8 text, and a buffer of `capacidad` bytes. They return 0 and write the
   result, NUL-terminated, into `salida`; on failure they return any other value and write
   a message for the user there instead. The encrypted form is printable text without
   quotes; Desencriptar(Encriptar(t)) gives t back. */
#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef int (*FuncionCifrado)(const char* carpeta, const char* texto, char* salida,
                              size_t capacidad);

int Encriptar(const char* carpeta, const char* texto, char* salida, size_t capacidad);
int Desencriptar(const char* carpeta, const char* texto, char* salida, size_t capacidad);

#ifdef __cplusplus
}
#endif
