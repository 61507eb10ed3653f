// Who runs the program, as the connection check needs it: the user's name
// and number, the groups this session really has (which change only with a
// new login) and the program's own process.
#pragma once

#include <string>
#include <vector>

namespace zo::diagnostics {

struct UserIdentity {
  std::string name;
  unsigned uid = 0;
  std::vector<unsigned> groups;  // the session's groups, the primary one included
  int pid = 0;                   // this program's process
};

}  // namespace zo::diagnostics
