#!/usr/bin/python3
"""A drive that answers late: a pass-through of FOLDER mounted at MOUNT, each of whose calls
waits DELAY seconds first, as a sleeping network disk or a lost share does. Runs until
unmounted (fusermount3 -u MOUNT). Debian's fuse3 and python3-fusepy (module `fusepy`).

    slow_drive.py FOLDER MOUNT DELAY
"""
import errno
import os
import sys
import time

import fusepy


class SlowPassThrough(fusepy.Operations):
    def __init__(self, root, delay):
        self.root = os.path.realpath(root)
        self.delay = delay

    def _path(self, path):
        time.sleep(self.delay)
        return os.path.join(self.root, path.lstrip('/'))

    def getattr(self, path, fh=None):
        try:
            st = os.lstat(self._path(path))
        except OSError as e:
            raise fusepy.FuseOSError(e.errno)
        return {key: getattr(st, key) for key in (
            'st_mode', 'st_nlink', 'st_uid', 'st_gid', 'st_size', 'st_atime', 'st_mtime', 'st_ctime')}

    def access(self, path, mode):
        if not os.access(self._path(path), mode):
            raise fusepy.FuseOSError(errno.EACCES)

    def readdir(self, path, fh):
        return ['.', '..'] + os.listdir(self._path(path))

    def statfs(self, path):
        st = os.statvfs(self._path(path))
        return {key: getattr(st, key) for key in (
            'f_bavail', 'f_bfree', 'f_blocks', 'f_bsize', 'f_favail', 'f_ffree', 'f_files', 'f_flag',
            'f_frsize', 'f_namemax')}

    def open(self, path, flags):
        return os.open(self._path(path), flags)

    def opendir(self, path):
        self._path(path)
        return 0

    def read(self, path, size, offset, fh):
        time.sleep(self.delay)
        os.lseek(fh, offset, os.SEEK_SET)
        return os.read(fh, size)

    def release(self, path, fh):
        return os.close(fh)


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    folder, mount, delay = sys.argv[1], sys.argv[2], float(sys.argv[3])
    fusepy.FUSE(SlowPassThrough(folder, delay), mount, foreground=True, nothreads=False, ro=True)


if __name__ == '__main__':
    main()
