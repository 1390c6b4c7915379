"""What the installer shows, byte for byte, and the machine set-ups the scenarios share."""

MAIN_CAPTION = "Corvana Tarnwick Installer"

WARNING_CAPTION = "Vexo355 Installer"
WARNING_TEXT = (
    "This computer has a 64 bit operating system which cannot directly execute DOS programs."
    "\n\n"
    "Tarnwick cannot run on this operating system except in XP Mode (which requires upgrading"
    " to Windows 7 Professional) or by using the free program, DOSbox, which does not appear"
    " to be installed on this computer."
    "\n\n"
    "Click OK to go to the DOSbox website.  Download, and install DOSbox to it's default"
    " location then start this installer again.")

BROWSE_CAPTION = (
    "Change Install Folder. Standard Corvana folders are qv and corvana\\qv. To install"
    " directly to a Corvana flash drive, select the drive, then the qv folder.")
# The folder browser's window, found by the caption it shows above its tree.
FOLDER_BROWSER = "has:" + BROWSE_CAPTION


def put_dosbox(ctx, folder="DOSBox-0.74", with_exe=True, attributes=(),
               parent="Program Files (x86)"):
    """A DOSBox installation as the gate looks for it; the executable's content is never
    read, so an empty file stands in for it."""
    path = ctx.drive_c / parent / folder
    path.mkdir(parents=True)
    if with_exe:
        (path / "dosbox.exe").write_bytes(b"")
    if attributes:
        ctx.set_attributes(f"C:\\{parent}\\{folder}", *attributes)
    return path
