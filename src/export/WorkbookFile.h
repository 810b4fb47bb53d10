// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

class QFileDevice;

// Puts a newly written file at a path so that nothing but the file meant is ever replaced: the
// content goes to a private file (0600, whatever the umask) beside the path, reaches the disk,
// and only then takes the name. A symbolic link at the path is followed only when the person
// chose that exact path; a name the program made up that turns out to be a link is refused, as
// a link planted in a shared folder would otherwise have its target replaced.
namespace WorkbookFile {

enum class Links { follow, refuse };

// Fills the new file with fill, which returns false and the reason when it cannot. Empty on
// success, else why nothing was replaced. A pipe, a device or a folder at the path is refused
// before anything is written.
QString write(const QString &path, Links links, const std::function<bool(QFileDevice &, QString *)> &fill);

} // namespace WorkbookFile
