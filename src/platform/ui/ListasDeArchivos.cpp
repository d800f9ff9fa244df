#include "platform/ui/ListasDeArchivos.h"

#include <mntent.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "platform/vb/Error.h"

namespace ui {

namespace {

// File systems that hold no user folders: the kernel's views and the runtime's scratch.
bool EsSistemaVirtual(const std::string& tipo) {
  static const std::set<std::string> virtuales = {
      "proc",     "sysfs",    "devtmpfs", "devpts",      "tmpfs",     "cgroup",
      "cgroup2",  "securityfs", "pstore", "debugfs",     "tracefs",   "mqueue",
      "hugetlbfs", "configfs", "fusectl", "bpf",         "autofs",    "binfmt_misc",
      "efivarfs", "rpc_pipefs", "nsfs",   "ramfs",       "selinuxfs", "fuse.gvfsd-fuse",
      "fuse.portal", "overlay", "squashfs"};
  return virtuales.count(tipo) > 0;
}

bool EsCarpetaLegible(const std::filesystem::path& carpeta) {
  std::error_code ec;
  return std::filesystem::is_directory(carpeta, ec) &&
         access(carpeta.c_str(), R_OK | X_OK) == 0;
}

}  // namespace

std::string RutaNormal(const std::string& carpeta) {
  std::string normal = std::filesystem::path(carpeta).lexically_normal().string();
  while (normal.size() > 1 && normal.back() == '/') normal.pop_back();
  return normal;
}

std::vector<std::string> PuntosDeMontaje() {
  std::set<std::string> puntos;
  if (FILE* montajes = setmntent("/proc/self/mounts", "r")) {
    while (const mntent* m = getmntent(montajes)) {
      if (!EsSistemaVirtual(m->mnt_type) && EsCarpetaLegible(m->mnt_dir))
        puntos.insert(RutaNormal(m->mnt_dir));
    }
    endmntent(montajes);
  }
  puntos.erase("/");
  std::vector<std::string> lista{"/"};
  lista.insert(lista.end(), puntos.begin(), puntos.end());
  return lista;
}

std::string UnidadDe(const std::string& carpeta, const std::vector<std::string>& lista) {
  const std::string ruta = RutaNormal(carpeta);
  std::string mejor = "/";
  for (const std::string& unidad : lista) {
    const bool contiene = ruta == unidad || (ruta.rfind(unidad + "/", 0) == 0);
    if (contiene && unidad.size() > mejor.size()) mejor = unidad;
  }
  return mejor;
}

DriveListBox::DriveListBox() { Refresh(); }

void DriveListBox::Refresh() { List = PuntosDeMontaje(); }

void DirListBox::Path(const std::string& carpeta) {
  std::error_code ec;
  if (carpeta.empty() || !std::filesystem::is_directory(carpeta, ec))
    vb::RaiseSobre(vb::err::PathNotFound, carpeta);
  if (!EsCarpetaLegible(carpeta)) vb::RaiseSobre(vb::err::PathFileAccessError, carpeta);
  path_ = RutaNormal(std::filesystem::absolute(carpeta).string());
}

}  // namespace ui
