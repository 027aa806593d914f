#include "app/user_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace {

constexpr const char* kGameFolder = "/crashmoor";

// An absolute path from the variable, or empty.
std::string AbsoluteVariable(const char* name) {
    const char* value = std::getenv(name);
    if (!value || value[0] != '/') return "";
    return value;
}

std::string BaseFolder(const char* variable, const char* below_home) {
    std::string base = AbsoluteVariable(variable);
    if (base.empty()) {
        std::string home = AbsoluteVariable("HOME");
        // Without HOME (a service, a stripped environment), the account's
        // home folder.
        if (home.empty()) {
            const passwd* account = getpwuid(getuid());
            if (account && account->pw_dir && account->pw_dir[0] == '/') home = account->pw_dir;
        }
        if (home.empty()) return "";
        base = home + below_home;
    }
    return base + kGameFolder;
}

}  // namespace

UserFolders XdgUserFolders() {
    UserFolders folders;
    folders.config = BaseFolder("XDG_CONFIG_HOME", "/.config");
    folders.state = BaseFolder("XDG_STATE_HOME", "/.local/state");
    folders.data = BaseFolder("XDG_DATA_HOME", "/.local/share");
    return folders;
}

UserFolders UserFoldersIn(const std::string& dir) {
    return UserFolders{dir, dir, dir};
}

std::string UserPath(const std::string& folder, const std::string& name) {
    return folder.empty() ? name : folder + "/" + name;
}
