"""Reads a Shell Link (.lnk) file field by field, independently of Windows' shell-link object,
so that a scenario can check every field of a shortcut the installer wrote.

The layout, as far as the checks need it (all integers little-endian):
  header, 76 bytes: size 0x4C, class id {00021401-0000-0000-C000-000000000046}, LinkFlags at
    20, file attributes, three file times, file size, icon index at 56, show command at 60,
    hot key at 64 (virtual key in the low byte, HOTKEYF_* in the high byte);
  LinkTargetIDList when flag 0x01: a 2-byte size, then items of a 2-byte size each;
  LinkInfo when flag 0x02: a 4-byte size that counts itself; with its flag 0x01 the local
    base path (offset at 16) and the common path suffix (offset at 24), zero-ended ANSI;
  StringData, each a 2-byte count of characters (UTF-16 units when flag 0x80), present by
    flag in this order: description 0x04, relative path 0x08, working directory 0x10,
    arguments 0x20, icon location 0x40. Wine counts the terminating zero into the count.
"""

import struct
from dataclasses import dataclass

CLASS_ID = bytes.fromhex("0114020000000000C000000000000046")

HAS_ID_LIST, HAS_LINK_INFO, IS_UNICODE = 0x01, 0x02, 0x80
STRING_FLAGS = (("description", 0x04), ("relative_path", 0x08), ("working_directory", 0x10),
                ("arguments", 0x20), ("icon_location", 0x40))


class MalformedLink(Exception):
    pass


@dataclass
class ShellLink:
    flags: int
    target: str           # LinkInfo's local path, else the path the ID list spells
    icon_index: int
    show_command: int
    hot_key: int
    description: str = None  # None where the link has no such string
    relative_path: str = None
    working_directory: str = None
    arguments: str = None
    icon_location: str = None


def _c_string(data, start, end, what):
    zero = data.find(b"\0", start, end)
    if start >= end or zero < 0:
        raise MalformedLink(f"unended {what}")
    return data[start:zero].decode("latin-1")


def _path_from_id_list(data, start, end):
    """The drive of a volume item followed by the names of the file-system items."""
    path = ""
    at = start
    while at + 2 <= end:
        (size,) = struct.unpack_from("<H", data, at)
        if size == 0:
            break
        if size < 3 or at + size > end:
            raise MalformedLink("bad ID list item")
        kind = data[at + 2] & 0x70
        if kind == 0x20:  # a volume: "C:\" follows the type byte
            path = _c_string(data, at + 3, at + size, "volume name")
        elif kind == 0x30:  # a folder or file: 14 bytes of fields, then the name
            if path and not path.endswith("\\"):
                path += "\\"
            path += _c_string(data, at + 14, at + size, "item name")
        at += size
    return path


def parse_shell_link(data):
    if len(data) < 76 or struct.unpack_from("<I", data, 0)[0] != 0x4C:
        raise MalformedLink("no 76-byte Shell Link header")
    if data[4:20] != CLASS_ID:
        raise MalformedLink("not the shell-link class id")
    flags, = struct.unpack_from("<I", data, 20)
    icon_index, show_command, hot_key = struct.unpack_from("<iIH", data, 56)
    at = 76
    target = ""
    if flags & HAS_ID_LIST:
        (size,) = struct.unpack_from("<H", data, at)
        target = _path_from_id_list(data, at + 2, at + 2 + size)
        at += 2 + size
    if flags & HAS_LINK_INFO:
        size, _header, info_flags, _volume, base, _network, suffix = struct.unpack_from("<7I", data, at)
        if info_flags & 0x01:
            target = (_c_string(data, at + base, at + size, "local base path") +
                      _c_string(data, at + suffix, at + size, "common path suffix"))
        at += size
    link = ShellLink(flags, target, icon_index, show_command, hot_key)
    unit = 2 if flags & IS_UNICODE else 1
    for field, bit in STRING_FLAGS:
        if not flags & bit:
            continue
        if at + 2 > len(data):
            raise MalformedLink(f"cut short before the {field}")
        (count,) = struct.unpack_from("<H", data, at)
        raw = data[at + 2:at + 2 + count * unit]
        if len(raw) != count * unit:
            raise MalformedLink(f"cut short in the {field}")
        text = raw.decode("utf-16-le" if unit == 2 else "latin-1")
        setattr(link, field, text.rstrip("\0"))
        at += 2 + count * unit
    return link


def read_shell_link(path):
    return parse_shell_link(path.read_bytes())
