#include "compiler/error_stop.h"

namespace sb {

void errore(const std::string& a) {
  throw ErrorStop(" Errore n. " + a);
}

}  // namespace sb
