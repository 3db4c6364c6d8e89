# Writes OUTPUT, a C++ file that holds each of FILES (paths under SOURCE_DIR, separated by |) as a
# string, for web_assets.h: the pages' templates, texts and stylesheet travel inside dkpsite.
set(body "// Made by embed_assets.cmake from site/web; edit those files instead.\n")
string(APPEND body "#include \"web/web_assets.h\"\n\nnamespace dkpsite {\n\n")
string(APPEND body "const std::map<std::string, std::string_view>& webAssets() {\n")
string(APPEND body "    static const std::map<std::string, std::string_view> assets{\n")
string(REPLACE "|" ";" FILES "${FILES}")
foreach(file IN LISTS FILES)
    file(READ "${SOURCE_DIR}/${file}" content)
    string(APPEND body "        {\"${file}\", R\"web_asset(${content})web_asset\"},\n")
endforeach()
string(APPEND body "    };\n    return assets;\n}\n\n} // namespace dkpsite\n")
file(WRITE "${OUTPUT}.new" "${body}")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
