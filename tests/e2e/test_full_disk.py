"""Saving on a full disk: every file stays as it was."""
import errno
import os
import subprocess

import pytest

from desktop_helpers import assert_gone, choose, ini_text, open_tray_menu, placed_at
from harness import tray_window, wait_for


@pytest.fixture
def small_disk(korvant, tmp_path):
    """A KorvaNT whose folder is a small file system of its own, mounted for the test."""
    app = korvant(start=False)
    disk = app.folder / "disk"
    disk.mkdir()
    mounted = subprocess.run(["mount", "-t", "tmpfs", "-o", "size=256k", "tmpfs", str(disk)],
                             capture_output=True)
    if mounted.returncode != 0:
        pytest.skip(f"cannot mount a small file system here: {mounted.stderr.decode().strip()}")
    try:
        # The program lives beside its files; a link takes none of the small disk's room.
        (disk / "KorvaNT.exe").symlink_to(app.folder / "KorvaNT.exe")
        app.folder = disk
        yield app
    finally:
        app.stop()
        if subprocess.run(["umount", str(disk)], capture_output=True).returncode != 0:
            subprocess.run(["umount", "-l", str(disk)])


def fill(folder):
    """Takes every byte the file system has left."""
    with open(folder / "filler", "wb", buffering=0) as f:
        try:
            while True:
                f.write(b"\0" * 512)
        except OSError as e:
            assert e.errno == errno.ENOSPC


def test_exit_save_on_a_full_disk_leaves_every_file_as_it_was(small_disk):
    app = small_disk
    ini = ini_text({**placed_at(300, 300), "AutoSET": 1, "NewVersionCheck": 0},
                   servers={"IpPage": "http://127.0.0.1:1/ip"})
    files = {
        "KorvaNT.ini": ini.encode("cp932"),
        # Lines shorter than the count field come back longer: the list must grow.
        "CloseList.txt": "".join(f"窓{i}\r\n" for i in range(300)).encode("cp932"),
        "ProxyList.txt": "".join(f"proxy{i}.example.jp:8080\r\n" for i in range(160)).encode(),
    }
    for name, data in files.items():
        (app.folder / name).write_bytes(data)
    app.start()
    app.wait_main_window()
    wait_for(tray_window, what="the tray icon")
    fill(app.folder)
    open_tray_menu()
    choose("Up", "Return")  # "終了"
    assert_gone(app)
    for name, data in files.items():
        assert (app.folder / name).read_bytes() == data, name
    assert sorted(os.listdir(app.folder)) == ["CloseList.txt", "KorvaNT.exe", "KorvaNT.ini",
                                              "ProxyList.txt", "filler"]
