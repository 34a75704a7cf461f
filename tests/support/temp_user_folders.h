#pragma once

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace tessel {

// Points HOME and XDG_DATA_HOME at a fresh temporary folder for the life of
// the object, so an error container never touches the real user's folders.
class TempUserFolders {
public:
    TempUserFolders() : oldHome_(current("HOME")), oldData_(current("XDG_DATA_HOME")) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tessel_homeXXXXXX").string();
        root_ = ::mkdtemp(pattern.data());
        std::filesystem::create_directories(home());
        set("HOME", home().string());
        set("XDG_DATA_HOME", data().string());
    }
    ~TempUserFolders() {
        set("HOME", oldHome_);
        set("XDG_DATA_HOME", oldData_);
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
    TempUserFolders(const TempUserFolders&) = delete;
    TempUserFolders& operator=(const TempUserFolders&) = delete;

    std::filesystem::path root() const { return root_; }
    std::filesystem::path home() const { return root_ / "home"; }
    std::filesystem::path data() const { return root_ / "data"; }

    // Sets a variable, or removes it for nullopt; restored on destruction
    // only for HOME and XDG_DATA_HOME.
    static void set(const char* name, const std::optional<std::string>& value) {
        value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
    }

private:
    static std::optional<std::string> current(const char* name) {
        const char* value = std::getenv(name);
        return value ? std::optional<std::string>(value) : std::nullopt;
    }

    std::optional<std::string> oldHome_;
    std::optional<std::string> oldData_;
    std::filesystem::path root_;
};

}  // namespace tessel
