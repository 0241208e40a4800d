// Whether this build runs under AddressSanitizer. The tests and the programs they start are
// always built with the same flags, so the test's own build tells.
#pragma once

namespace lorvane::test {

#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kBuiltWithAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kBuiltWithAddressSanitizer = true;
#else
inline constexpr bool kBuiltWithAddressSanitizer = false;
#endif
#else
inline constexpr bool kBuiltWithAddressSanitizer = false;
#endif

}  // namespace lorvane::test
