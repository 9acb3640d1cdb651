#pragma once

#include <string>
#include <string_view>

namespace lorvane::common {

// System errors as the learner reads them: in Chinese, short enough to
// follow "无法保存进度：" or to fit the companion's label. The system's own
// text goes to stderr (logSystemError), where it helps whoever looks into
// the problem.

// The Chinese text for an errno value: "磁盘已满" for ENOSPC, "文件系统是只读的"
// for EROFS, "没有权限" for EACCES and EPERM, "文件名太长" for ENAMETOOLONG …;
// an uncommon error is named by its symbol ("系统错误 EXDEV").
std::string describeSystemError(int errnoValue);

// The text for a path that names a folder, a pipe, a device or a socket
// where a file is expected.
std::string describeNotRegularFile(bool isFolder);

// Writes "<context>: <the system's text for errnoValue>" to stderr.
void logSystemError(std::string_view context, int errnoValue);

}  // namespace lorvane::common
