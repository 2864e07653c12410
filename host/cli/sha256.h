// SHA-256 in base64, for the hashes a Content-Security-Policy names the
// page's own style and script by.

#ifndef VEXAL_HOST_CLI_SHA256_H_
#define VEXAL_HOST_CLI_SHA256_H_

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vexal::cli {

std::array<std::uint8_t, 32> sha256(std::string_view bytes);

// Standard base64 with padding.
std::string base64(const std::uint8_t* bytes, std::size_t size);

// "'sha256-...'", a source expression of a Content-Security-Policy.
std::string cspHash(std::string_view bytes);

}  // namespace vexal::cli

#endif  // VEXAL_HOST_CLI_SHA256_H_
