#include "http/update_files.h"

#include "http/error_pages.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>

namespace dkpsite {

namespace {

namespace fs = std::filesystem;

// Files are sent in pieces of this size, never held whole.
constexpr std::size_t kPieceBytes = 64 * 1024;

bool isPlainRelativePath(const std::string& path) {
    if (path.empty() || path.find('\\') != std::string::npos ||
        path.find('\0') != std::string::npos)
        return false;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = path.find('/', start);
        const std::string piece = path.substr(start, end - start);
        if (piece.empty() || piece == "." || piece == "..")
            return false;
        if (end == std::string::npos)
            return true;
        start = end + 1;
    }
}

const char* contentTypeOf(const fs::path& file) {
    const std::string extension = file.extension().string();
    if (extension == ".xml")
        return "application/xml";
    if (extension == ".json")
        return "application/json";
    if (extension == ".txt")
        return "text/plain; charset=utf-8";
    if (extension == ".zip")
        return "application/zip";
    return "application/octet-stream";
}

// The file `relativePath` names inside `folder`, or nothing.
std::optional<fs::path> updateFile(const std::string& folder, const std::string& relativePath) {
    if (folder.empty() || !isPlainRelativePath(relativePath))
        return std::nullopt;
    std::error_code error;
    const fs::path root = fs::canonical(folder, error);
    if (error)
        return std::nullopt;
    const fs::path file = fs::canonical(root / relativePath, error);
    if (error || !fs::is_regular_file(file, error))
        return std::nullopt;
    const auto [rootEnd, fileAt] =
        std::mismatch(root.begin(), root.end(), file.begin(), file.end());
    if (rootEnd != root.end())
        return std::nullopt;
    return file;
}

} // namespace

void serveUpdateFile(const std::string& folder, const std::string& relativePath,
                     const httplib::Request& req, httplib::Response& res) {
    const auto file = updateFile(folder, relativePath);
    std::error_code error;
    const std::uintmax_t size = file ? fs::file_size(*file, error) : 0;
    auto input = file && !error ? std::make_shared<std::ifstream>(*file, std::ios::binary)
                                : std::shared_ptr<std::ifstream>();
    if (!input || !*input) {
        answerError(req, res, 404, "no such file");
        return;
    }
    res.set_content_provider(
        static_cast<std::size_t>(size), contentTypeOf(*file),
        [input](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
            std::string piece(std::min(length, kPieceBytes), '\0');
            input->seekg(static_cast<std::streamoff>(offset));
            input->read(piece.data(), static_cast<std::streamsize>(piece.size()));
            const std::streamsize got = input->gcount();
            if (got <= 0)
                return false;
            return sink.write(piece.data(), static_cast<std::size_t>(got));
        });
}

} // namespace dkpsite
