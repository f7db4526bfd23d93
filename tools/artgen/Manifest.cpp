#include "tools/artgen/Manifest.h"

#include <charconv>
#include <fstream>
#include <set>
#include <sstream>

namespace artgen {

namespace {
// Splits a line at blanks; a double-quoted run keeps its blanks and loses its quotes.
std::vector<std::string> Tokens(const std::string& line) {
    std::vector<std::string> tokens;
    std::string current;
    bool quoted = false, any = false;
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if (!quoted && (c == ' ' || c == '\t')) {
            if (any) tokens.push_back(current);
            current.clear();
            any = false;
        } else {
            current += c;
            any = true;
        }
    }
    if (any) tokens.push_back(current);
    return tokens;
}

bool ParseInt(const std::string& text, int& value) {
    const auto [end, code] = std::from_chars(text.data(), text.data() + text.size(), value);
    return code == std::errc() && end == text.data() + text.size();
}
}  // namespace

std::string ImageEntry::Parameter(const std::string& key, const std::string& fallback) const {
    const auto found = parameters.find(key);
    return found == parameters.end() ? fallback : found->second;
}

std::vector<std::string> ImageEntry::List(const std::string& key) const {
    std::vector<std::string> values;
    std::stringstream stream(Parameter(key));
    for (std::string value; std::getline(stream, value, '|');) values.push_back(value);
    return values;
}

std::optional<Manifest> Manifest::Parse(const std::string& text, std::string& error) {
    Manifest manifest;
    std::set<int> ids;
    std::set<std::string> paths;
    std::stringstream stream(text);
    int number = 0;
    for (std::string line; std::getline(stream, line);) {
        ++number;
        if (line.empty() || line[0] == '#') continue;
        const auto tokens = Tokens(line);
        if (tokens.empty()) continue;
        ImageEntry entry;
        const bool numbers = tokens.size() >= 6 && ParseInt(tokens[0], entry.id) && ParseInt(tokens[2], entry.frames) &&
                             ParseInt(tokens[3], entry.frameWidth) && ParseInt(tokens[4], entry.frameHeight);
        if (!numbers || entry.frames < 1 || entry.frameWidth < 1 || entry.frameHeight < 1) {
            error = "line " + std::to_string(number) + ": expected id, path, frames, width, height, renderer";
            return std::nullopt;
        }
        entry.path = tokens[1];
        entry.renderer = tokens[5];
        for (std::size_t i = 6; i < tokens.size(); ++i) {
            const auto equals = tokens[i].find('=');
            if (equals == std::string::npos) {
                error = "line " + std::to_string(number) + ": parameter without '=': " + tokens[i];
                return std::nullopt;
            }
            entry.parameters[tokens[i].substr(0, equals)] = tokens[i].substr(equals + 1);
        }
        if (!ids.insert(entry.id).second || !paths.insert(entry.path).second) {
            error = "line " + std::to_string(number) + ": id or path listed twice";
            return std::nullopt;
        }
        manifest.entries_.push_back(std::move(entry));
    }
    return manifest;
}

std::optional<Manifest> Manifest::Load(const std::string& file, std::string& error) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        error = "cannot read " + file;
        return std::nullopt;
    }
    std::stringstream text;
    text << in.rdbuf();
    return Parse(text.str(), error);
}

}  // namespace artgen
