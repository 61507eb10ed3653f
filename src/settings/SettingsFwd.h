// Declaration of the settings for headers that only pass them on by
// reference, so they need not include the settings and their limits.
#pragma once

namespace zo::settings {
struct Settings;
}  // namespace zo::settings
