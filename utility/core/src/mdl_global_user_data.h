// Where the files the user changes live.  Installed data files stay
// read-only: the printer list lives in the user's own data directory,
// $XDG_DATA_HOME/ravo-utility/ (~/.local/share/ravo-utility/ when that is
// unset), seeded on first start from the list found beside the data files
// (a shipped default, or the list an older version kept there).  With
// --files DIR everything stays in DIR, for portable use and tests.
#pragma once

#include <QString>

namespace mdlGlobal {

// Directory of the files the user changes, ending in a slash.  Empty: the
// same directory as the data files (FilesPath).
inline QString UserDataPath;

// $XDG_DATA_HOME/ravo-utility/ when XDG_DATA_HOME is an absolute path,
// else $HOME/.local/share/ravo-utility/; ends in a slash.
QString DefaultUserDataDir();

// Full path of the user's file `name`: UserDataPath + name, or
// FilesPath + name when UserDataPath is empty.
QString UserFilePath(const QString &name);

// UserFilePath(PrinterListFileName).
QString PrinterListPath();

enum class UserDataState {
  Ready,         // the user's list exists, or there is none to take over
  TookOver,      // the list beside the data files was copied in just now
  NotTakenOver,  // a list beside the data files could not be copied in
  NoDirectory,   // the directory could not be created; nothing to take over
};

// Creates UserDataPath (owner-only permissions, as XDG asks) and, when it
// holds no printer list yet, copies in the list found in FilesPath.  The
// copy appears only once it is complete; the original is never changed, so
// a list is taken over once and never lost.  On NotTakenOver UserDataPath
// is cleared, so that this session goes on with the old list where it is;
// the next start tries again.  Does nothing when UserDataPath is empty.
UserDataState PrepareUserData();

}  // namespace mdlGlobal
