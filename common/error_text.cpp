#include "common/error_text.h"

#include <cerrno>
#include <cstring>
#include <iostream>

namespace lorvane::common {

std::string describeSystemError(int errnoValue) {
    switch (errnoValue) {
        case ENOSPC:
            return "磁盘已满";
        case EDQUOT:
            return "磁盘配额已用完";
        case EROFS:
            return "文件系统是只读的";
        case EACCES:
        case EPERM:
            return "没有权限";
        case ENAMETOOLONG:
            return "文件名太长";
        case ENOENT:
            return "找不到文件";
        case ENOTDIR:
            return "路径中有一项不是文件夹";
        case EISDIR:
            return describeNotRegularFile(true);
        case ELOOP:
            return "符号链接太多层";
        case EFBIG:
            return "文件太大";
        case EIO:
            return "读写磁盘出错";
        case EMFILE:
        case ENFILE:
            return "打开的文件太多";
        case ENOMEM:
            return "内存不足";
        case EBUSY:
        case ETXTBSY:
            return "文件正在使用中";
        case EEXIST:
            return "文件已存在";
        case EXDEV:
            return "不能跨文件系统移动文件";
        default:
            break;
    }
    const char* name = strerrorname_np(errnoValue);
    return std::string("系统错误 ") + (name ? name : std::to_string(errnoValue));
}

std::string describeNotRegularFile(bool isFolder) {
    return isFolder ? "是文件夹，不是普通文件" : "不是普通文件";
}

void logSystemError(std::string_view context, int errnoValue) {
    std::cerr << context << ": " << std::strerror(errnoValue) << '\n';
}

}  // namespace lorvane::common
