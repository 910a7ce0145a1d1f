#include "cli/DrawingProgram.h"

#include <limits.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace quillora::cli {

std::string ProgramFolder() {
  char self[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
  const std::string program(self, length > 0 ? static_cast<std::size_t>(length) : 0);
  const std::size_t slash = program.rfind('/');
  if (length <= 0 || slash == std::string::npos)
    throw std::runtime_error(std::string("cannot find the program folder (/proc/self/exe: ") +
                             (length < 0 ? std::strerror(errno) : "no path") + ")");
  return program.substr(0, slash + 1);
}

int RunDrawingProgram(char** argv) {
  try {
    const std::string path = ProgramFolder() + kDrawingProgramName;
    ::execv(path.c_str(), argv);
    std::fprintf(stderr, "quillora-cli %s: cannot start %s: %s\n", argv[1], path.c_str(), std::strerror(errno));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quillora-cli %s: %s\n", argv[1], e.what());
  }
  return 1;
}

}  // namespace quillora::cli
