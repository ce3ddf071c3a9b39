#pragma once

#include "core/radio/memory_image.h"
#include "core/radio/packed_password.h"

namespace radioprog {

/// The default image of a new radio memory, with @p loginPassword as its Admin password.
RadioImage NewRadioImage(const PackedPassword& loginPassword);

}  // namespace radioprog
