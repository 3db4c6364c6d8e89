// compoundcheck write FILE: writes a new compound file of storages and streams that exercise the
//   format (nested storages, Chinese names, a 31-unit name, empty, small and large streams, one
//   at the 4096-byte limit of the small streams), then opens it again, changes it and commits.
// compoundcheck dump FILE: prints every storage and stream of the file, one line each, sorted:
//   "storage <path>" or "stream <path> <size> <digest>".
// Both builds run both commands on each other's files; the dumps must agree. Status 1 with a
// message when a step fails, 2 for a wrong command line.
#include "compoundfile/compound_file.h"

#include "utilkit/program_io.h"
#include "utilkit/ustring.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

using compoundfile::Status;
using compoundfile::Storage;
using compoundfile::Stream;

namespace {

struct Failure {
    std::string step;
    Status status;
};

void check(Status status, const std::string& step) {
    if (status != Status::Ok)
        throw Failure{step, status};
}

std::string pattern(std::size_t size, unsigned seed) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 131 + seed * 7) % 251);
    return bytes;
}

void writeStream(Storage& storage, std::u16string_view name, const std::string& bytes) {
    std::unique_ptr<Stream> stream;
    check(storage.createStream(name, stream), "create stream " + ustring::toUtf8(name));
    check(stream->write(bytes.data(), bytes.size()), "write stream " + ustring::toUtf8(name));
}

void write(std::u16string_view path) {
    {
        std::unique_ptr<Storage> root;
        check(compoundfile::createFile(path, root), "create the file");
        std::unique_ptr<Storage> section;
        check(root->createStorage(u"Ledgerward", section), "create storage Ledgerward");
        writeStream(*section, u"config", pattern(5000, 1));
        writeStream(*section, u"小怪掉落", pattern(100, 2));
        writeStream(*section, u"empty", "");
        writeStream(*root, u"note", "a short note\r\n");
        std::unique_ptr<Storage> deep;
        std::unique_ptr<Storage> nested;
        check(root->createStorage(u"账号 一", deep), "create storage 账号 一");
        check(deep->createStorage(u"Nested", nested), "create storage Nested");
        writeStream(*nested, u"at-the-small-stream-limit", pattern(4096, 3));
        writeStream(*nested, std::u16string(31, u'n'), pattern(70000, 4));
        writeStream(*root, u"gone", "removed before the second commit");
        check(root->commit(), "commit");
    }
    std::unique_ptr<Storage> root;
    check(compoundfile::openFile(path, root), "open the file again");
    check(root->destroyElement(u"gone"), "destroy gone");
    std::unique_ptr<Storage> section;
    std::unique_ptr<Stream> stream;
    check(root->openStorage(u"ledgerward", section), "open storage ledgerward");
    check(section->openStream(u"CONFIG", stream), "open stream CONFIG");
    check(stream->seek(4990), "seek");
    const std::string tail = pattern(20, 5);
    check(stream->write(tail.data(), tail.size()), "grow config");
    check(root->commit(), "commit again");
}

// FNV-1a, 64 bits: enough to tell two streams apart in a comparison.
std::string digest(const std::string& bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

void dump(Storage& storage, const std::string& path, std::vector<std::string>& lines) {
    for (const std::u16string& name : storage.elementNames()) {
        const std::string child = path + "/" + ustring::toUtf8(name);
        std::unique_ptr<Storage> sub;
        if (storage.openStorage(name, sub) == Status::Ok) {
            lines.push_back("storage " + child);
            dump(*sub, child, lines);
            continue;
        }
        std::unique_ptr<Stream> stream;
        check(storage.openStream(name, stream), "open stream " + child);
        std::string bytes(stream->size(), '\0');
        std::size_t done = 0;
        check(stream->read(bytes.data(), bytes.size(), done), "read stream " + child);
        bytes.resize(done);
        lines.push_back("stream " + child + " " + std::to_string(bytes.size()) + " " +
                        digest(bytes));
    }
}

} // namespace

int main(int argc, char** argv) {
    utilkit::useBinaryStandardStreams();
    const std::vector<std::string> arguments = utilkit::programArguments(argc, argv);
    if (arguments.size() != 2 || (arguments[0] != "write" && arguments[0] != "dump")) {
        std::cerr << "usage: compoundcheck write|dump FILE\n";
        return 2;
    }
    const std::u16string path = ustring::fromUtf8(arguments[1]);
    try {
        if (arguments[0] == "write") {
            write(path);
            return 0;
        }
        std::unique_ptr<Storage> root;
        check(compoundfile::openFile(path, root), "open the file");
        std::vector<std::string> lines;
        dump(*root, "", lines);
        std::sort(lines.begin(), lines.end());
        for (const std::string& line : lines)
            std::cout << line << '\n';
    } catch (const Failure& failure) {
        std::cerr << "compoundcheck: " << failure.step << ": "
                  << compoundfile::toString(failure.status) << '\n';
        return 1;
    }
    return 0;
}
