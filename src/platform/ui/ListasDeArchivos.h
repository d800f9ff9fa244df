#pragma once
// The drive list and the folder list of a folder picker. On this system the drives are
// the mount points of real file systems; "/" is always the first.
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/Control.h"

namespace ui {

class DriveListBox : public Control {
 public:
  DriveListBox();
  std::string Drive;               // the chosen drive (a mount point)
  std::vector<std::string> List;   // the drives of the machine
  void Refresh();                  // reads the drives again
  std::function<void()> alCambiar;
};

class DirListBox : public Control {
 public:
  const std::string& Path() const { return path_; }
  // Opens `carpeta`. A folder that does not exist raises error 76 (path not found), one
  // that cannot be read error 75 (path or file access); the list then stays where it was.
  void Path(const std::string& carpeta);
  std::function<void()> alCambiar;

 private:
  std::string path_;
};

// Mount points of the machine's real file systems, "/" first, then in path order.
std::vector<std::string> PuntosDeMontaje();
// The drive of `lista` that holds `carpeta`: the longest mount point that is a prefix of it.
std::string UnidadDe(const std::string& carpeta, const std::vector<std::string>& lista);
// A folder path without a trailing separator (except the root) and without "." or "..".
std::string RutaNormal(const std::string& carpeta);

}  // namespace ui
