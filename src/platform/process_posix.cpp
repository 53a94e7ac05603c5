#include <csignal>

#include "platform/process.h"

namespace sb {

void prepare_process() {
  std::signal(SIGXFSZ, SIG_IGN);
}

}  // namespace sb
