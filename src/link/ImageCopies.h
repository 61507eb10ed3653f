// The two copies of the parameter image: what the controller last reported or
// confirmed, and what the user sees and edits. The scheduler writes back every
// byte in which they differ, and reports why each was changed.
#pragma once

#include "ChangeCauses.h"
#include "LinkTypes.h"

namespace zo::link {

struct ImageCopies {
  ImageArea controllerCopy = BlankImage();
  ImageArea workingCopy = BlankImage();
  ChangeCauses causes;
};

}  // namespace zo::link
