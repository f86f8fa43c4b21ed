# Parses a DLL with pefile and prints what a Windows loader relies on: headers, sections,
# exports, relocations (applied at another base) and any warnings.
import sys

import pefile

pe = pefile.PE(sys.argv[1])
print("machine", hex(pe.FILE_HEADER.Machine))
print("dll", pe.is_dll())
print("magic", hex(pe.OPTIONAL_HEADER.Magic))
print("image_size", hex(pe.OPTIONAL_HEADER.SizeOfImage))
print("sections", *[s.Name.rstrip(b"\0").decode() for s in pe.sections])
exports = pe.DIRECTORY_ENTRY_EXPORT
print("library", exports.name.decode())
print("exports", *[f"{e.name.decode()}@{e.address:#x}" for e in exports.symbols])
entries = [e for block in pe.DIRECTORY_ENTRY_BASERELOC for e in block.entries]
fixups = [e.rva for e in entries if e.type == 3]
print("relocations", len(fixups), "repeated", len(fixups) - len(set(fixups)))
# Two warnings are no fault: the share of one byte value (a board of empty cells), and the
# padding entries (type 0, which loaders skip) that share offset 0 of their page.
harmless = ("Byte 0x", "Overlapping offsets in relocation data")
warnings = [w for w in pe.get_warnings() if not w.startswith(harmless)]
print("warnings", len(warnings), *warnings)
# After relocating to another base, GetGameData returns the moved data section, and the data
# header's first address (the game name) points at the moved name.
base = 0x20000000
pe.relocate_image(base)
returned = pe.get_dword_at_rva(0x1001)
print("returns", hex(returned))
name_address = pe.get_dword_at_rva(0x3008)
print("game", pe.get_string_at_rva(name_address - base).decode())
