#!/usr/bin/env python3
"""Removes a folder at the moment a save creates its safety copy in it.

    remove_on_save.py <folder> <ready-file>

Holds every open in the folder through fanotify (root only): when the file being
opened is a save's safety copy of the old content (~q*.tmp), the whole folder is removed before the
open may go on. Writes "ready" (or why it can't watch) into the ready file, and ends
after one removal.
"""
import ctypes
import os
import shutil
import struct
import sys

FAN_CLASS_CONTENT = 0x04
FAN_CLOEXEC = 0x01
FAN_MARK_ADD = 0x01
FAN_OPEN_PERM = 0x00010000
FAN_EVENT_ON_CHILD = 0x08000000
FAN_ALLOW = 0x01
AT_FDCWD = -100
EVENT = struct.Struct("=IBBHQii")  # struct fanotify_event_metadata


def main():
    folder, ready = sys.argv[1], sys.argv[2]
    libc = ctypes.CDLL(None, use_errno=True)
    libc.fanotify_mark.argtypes = [ctypes.c_int, ctypes.c_uint, ctypes.c_uint64, ctypes.c_int,
                                   ctypes.c_char_p]
    fan = libc.fanotify_init(FAN_CLASS_CONTENT | FAN_CLOEXEC, os.O_RDONLY)
    if fan < 0 or libc.fanotify_mark(fan, FAN_MARK_ADD, FAN_OPEN_PERM | FAN_EVENT_ON_CHILD,
                                     AT_FDCWD, folder.encode()) < 0:
        with open(ready, "w") as f:
            f.write("no fanotify: " + os.strerror(ctypes.get_errno()))
        return
    with open(ready, "w") as f:
        f.write("ready")
    removed = False
    while not removed:
        data = os.read(fan, 4096)
        offset = 0
        while offset + EVENT.size <= len(data):
            length, _, _, _, _, fd, _ = EVENT.unpack_from(data, offset)
            offset += length
            name = os.path.basename(os.readlink("/proc/self/fd/%d" % fd))
            if name.startswith("~q") and name.endswith(".tmp") and not removed:
                shutil.rmtree(folder)
                removed = True
            os.write(fan, struct.pack("=iI", fd, FAN_ALLOW))
            os.close(fd)
    os.close(fan)


if __name__ == "__main__":
    main()
