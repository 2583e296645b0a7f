#pragma once
#include <optional>
#include <string>

namespace batch {

// The program's naming rules on paths in the system's bytes (see filerules/OutputNames.h).
std::string encryptedPath(const std::string &source);
std::optional<std::string> decryptedPath(const std::string &source);

// The folder an archive gives back: the decrypted name without a ".tar" ending (any case).
std::optional<std::string> extractedPath(const std::string &archive);

// The archive of `path`: "photos" or "photos/" -> "photos.tar.ECX".
std::string archivePath(const std::string &path);

// `path` without trailing slashes ("/" stays).
std::string withoutTrailingSlashes(std::string path);

} // namespace batch
