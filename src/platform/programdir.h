// Where the program finds its files: KRQ_HOME, a portable copy's own directory, or the user's
// directory beside an installed copy.
#pragma once

#include <string>

namespace krq {

// The program directory without a trailing "/": every file the program writes lives there.
std::string ProgramDir();

// The program directory joined with a relative path such as "krq.ini" or "data/proposal.dat".
std::string ProgramFile(const std::string& relative);

// A file the program only reads ("readme.htm", "data/stdcode.ini"): beside the others in a
// portable copy or under KRQ_HOME, in the installation's shared directory otherwise.
std::string InstalledFile(const std::string& relative);

// Called once at start: when the program directory is the user's, creates it and copies in
// the installed files the program writes that it lacks, never replacing one. Returns the
// program directory.
std::string EnsureProgramDir();

enum class TProgramDirKind { Home, Portable, User };

struct TProgramDirs {
    TProgramDirKind Kind = TProgramDirKind::Home;
    std::string Program;    // where krq.ini, marks.ini and data/*.dat are read and written
    std::string Installed;  // where the read-only files are
};

// The choice for an executable in `exeDir`, with KRQ_HOME, XDG_CONFIG_HOME and HOME read from
// the environment.
TProgramDirs LocateProgramDirs(const std::string& exeDir);

// Creates `dirs.Program` and fills in the missing seed files from `dirs.Installed` (only for
// the user's directory); false when the directory cannot be made.
bool SeedProgramDir(const TProgramDirs& dirs);

// The running executable's full path, and its directory.
std::string ExecutableFile();
std::string ExecutableDir();

}  // namespace krq
