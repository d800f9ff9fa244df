// The project's encryption component: ChaCha20 from libsodium with a random 8-byte nonce
// for every call and a 256-bit key read from "gradixcifrado.key" in the program's folder
// (64 hexadecimal digits; blanks and line ends around them are ignored). The result is
// base64 (no padding) of the nonce followed by the encrypted bytes: 12 characters for a
// one-byte text, 40 for a text of 22 bytes, so a password of up to 10 letters, accented
// ones included, gives 12 to 38 characters.
#include <sodium.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/crypto/ComponenteCifrado.h"
#include "platform/crypto/InterfazCifrado.h"

#define EXPORTA extern "C" __attribute__((visibility("default")))

namespace {

constexpr auto kVariante = sodium_base64_VARIANT_ORIGINAL_NO_PADDING;

struct Falla {
  std::string mensaje;
};

// The key, wiped when it goes.
class Clave {
 public:
  explicit Clave(const std::string& carpeta) {
    const std::string ruta = carpeta + "/" + cifrado::kArchivoClave;
    std::ifstream archivo(ruta, std::ios::binary);
    if (!archivo) throw Falla{"No se encuentra la clave de cifrado " + ruta};
    std::string hex((std::istreambuf_iterator<char>(archivo)), std::istreambuf_iterator<char>());
    const std::size_t inicio = hex.find_first_not_of(" \t\r\n");
    const std::size_t fin = hex.find_last_not_of(" \t\r\n");
    const std::string digitos =
        inicio == std::string::npos ? "" : hex.substr(inicio, fin - inicio + 1);
    sodium_memzero(hex.data(), hex.size());
    std::size_t largo = 0;
    const char* final = nullptr;
    const bool leida = digitos.size() == 2 * sizeof bytes_ &&
                       sodium_hex2bin(bytes_, sizeof bytes_, digitos.data(), digitos.size(),
                                      nullptr, &largo, &final) == 0 &&
                       largo == sizeof bytes_;
    if (!leida)
      throw Falla{"La clave de cifrado " + ruta + " no es válida: debe tener 64 dígitos "
                  "hexadecimales"};
  }
  ~Clave() { sodium_memzero(bytes_, sizeof bytes_); }
  const unsigned char* Bytes() const { return bytes_; }

 private:
  unsigned char bytes_[crypto_stream_chacha20_KEYBYTES] = {};
};

void Inicia() {
  if (sodium_init() < 0) throw Falla{"No se puede iniciar la biblioteca de cifrado"};
}

std::string Cifra(const std::string& carpeta, const std::string& texto) {
  Inicia();
  const Clave clave(carpeta);
  std::vector<unsigned char> datos(crypto_stream_chacha20_NONCEBYTES + texto.size());
  unsigned char* nonce = datos.data();
  randombytes_buf(nonce, crypto_stream_chacha20_NONCEBYTES);
  crypto_stream_chacha20_xor(nonce + crypto_stream_chacha20_NONCEBYTES,
                             reinterpret_cast<const unsigned char*>(texto.data()), texto.size(),
                             nonce, clave.Bytes());
  std::string base64(sodium_base64_encoded_len(datos.size(), kVariante), '\0');
  sodium_bin2base64(base64.data(), base64.size(), datos.data(), datos.size(), kVariante);
  base64.resize(std::strlen(base64.c_str()));
  return base64;
}

std::string Descifra(const std::string& carpeta, const std::string& cifrado) {
  Inicia();
  std::vector<unsigned char> datos(cifrado.size());
  std::size_t largo = 0;
  if (sodium_base642bin(datos.data(), datos.size(), cifrado.data(), cifrado.size(), nullptr,
                        &largo, nullptr, kVariante) != 0 ||
      largo < crypto_stream_chacha20_NONCEBYTES)
    throw Falla{"El texto no es un resultado de este componente de cifrado"};
  const Clave clave(carpeta);
  const unsigned char* nonce = datos.data();
  std::string texto(largo - crypto_stream_chacha20_NONCEBYTES, '\0');
  crypto_stream_chacha20_xor(reinterpret_cast<unsigned char*>(texto.data()),
                             nonce + crypto_stream_chacha20_NONCEBYTES, texto.size(), nonce,
                             clave.Bytes());
  return texto;
}

// Writes the result, or the message of a failure, into the caller's buffer.
int Responde(std::string (*operacion)(const std::string&, const std::string&),
             const char* carpeta, const char* texto, char* salida, std::size_t capacidad) {
  if (!salida || capacidad == 0) return 1;
  std::string respuesta;
  int codigo = 0;
  try {
    if (!carpeta || !texto) throw Falla{"Falta la carpeta o el texto"};
    respuesta = operacion(carpeta, texto);
    if (respuesta.size() >= capacidad) throw Falla{"El resultado no cabe en el espacio dado"};
  } catch (const Falla& falla) {
    respuesta = falla.mensaje;
    codigo = 1;
  } catch (const std::exception& e) {
    respuesta = e.what();
    codigo = 1;
  }
  const std::size_t largo = std::min(respuesta.size(), capacidad - 1);
  std::memcpy(salida, respuesta.data(), largo);
  salida[largo] = '\0';
  return codigo;
}

}  // namespace

EXPORTA int Encriptar(const char* carpeta, const char* texto, char* salida,
                      std::size_t capacidad) {
  return Responde(Cifra, carpeta, texto, salida, capacidad);
}

EXPORTA int Desencriptar(const char* carpeta, const char* texto, char* salida,
                         std::size_t capacidad) {
  return Responde(Descifra, carpeta, texto, salida, capacidad);
}
