#include "ladder/EscaleraDePrueba.h"

#include <fstream>
#include <sstream>

#include "platform/win/Sistema.h"

namespace prueba {

EscaleraDePrueba::EscaleraDePrueba() : rutaLogAnterior_(gRutaLog) {
  dobles::Limpia();
  gRutaLog = carpeta_.Ruta() + "\\Log_prueba.log";
  dialogo.alRefrescar = [this] { dobles::AnotaCaption(dialogo.lblMensaje.Caption); };
  Acceso::mNombreBaseDatos(dialogo) = "tienda";
  dialogo.txtRutaImagenes.Text = kRaizImagenes;
  dialogo.cmbRegimen.ListIndex = 0;
}

EscaleraDePrueba::~EscaleraDePrueba() {
  gRutaLog = rutaLogAnterior_;
  dobles::Limpia();
}

bool EscaleraDePrueba::Paso(std::int16_t V, std::int16_t iVersionActual,
                            std::int16_t iVersionDestino, std::int16_t iManejador) {
  return Acceso::Paso(dialogo, V, kCadena, iVersionActual, iVersionDestino, iManejador);
}

bool EscaleraDePrueba::Escalera(std::int16_t iVersionActual, std::int16_t iVersionDestino,
                                std::int16_t iManejador) {
  return Acceso::ActualizaVersiones(dialogo, iVersionDestino, iVersionActual, kCadena, iManejador);
}

bool EscaleraDePrueba::Satelite(std::uint8_t iEstructura, std::int16_t iVersionActual,
                                std::int16_t iVersionDestino, std::int16_t iManejador) {
  return Acceso::ActualizaBD(dialogo, iEstructura, kCadena, iVersionActual, iVersionDestino,
                             iManejador);
}

void EscaleraDePrueba::Marca(std::initializer_list<int> cajas) {
  for (auto& caja : dialogo.chkProyecto) caja.Value = 0;
  for (int caja : cajas) dialogo.chkProyecto[caja].Value = 1;
}

void EscaleraDePrueba::TablasDeLaBase(const std::vector<std::string>& tablas) {
  Resultado mysql{{"Tables_in_tienda"}, {}};
  Resultado sqlServer{{"TABLE_QUALIFIER", "TABLE_OWNER", "TABLE_NAME"}, {}};
  for (const std::string& tabla : tablas) {
    mysql.filas.push_back({tabla});
    sqlServer.filas.push_back({"tienda", "dbo", tabla});
  }
  db_.Responde("SHOW TABLES;", mysql);
  db_.Responde("EXEC sp_tables;", sqlServer);
}

std::vector<std::string> EscaleraDePrueba::Rutinas() {
  std::vector<std::string> rutinas;
  for (const std::string& entrada : dobles::Diario())
    if (entrada.rfind("«", 0) != 0 && entrada.rfind("CrearBaseDeDatos", 0) != 0)
      rutinas.push_back(entrada);
  return rutinas;
}

std::vector<std::string> EscaleraDePrueba::PasosTomados() {
  const std::string inicio = "Revisando estructura para versión ";
  std::vector<std::string> pasos;
  for (const std::string& caption : dobles::Captions())
    if (caption.rfind(inicio, 0) == 0)
      pasos.push_back(caption.substr(inicio.size(), caption.size() - inicio.size() - 3));
  return pasos;
}

std::string EscaleraDePrueba::RunLog() const {
  std::ifstream archivo(win::RutaLocal(gRutaLog), std::ios::binary);
  std::ostringstream contenido;
  contenido << archivo.rdbuf();
  return contenido.str();
}

std::string EscaleraDePrueba::EntradaDeLog(const std::string& etiqueta, long numero,
                                           const std::string& descripcion) {
  return "\r\n" + etiqueta + std::to_string(numero) + "\r\n" + descripcion + "\r\n";
}

}  // namespace prueba
