"""What a Windows user downloads and how KorvaNT starts with Windows: the release zip, unpacked
and run, and the check box that writes the log-on value of the registry."""
import re
import zipfile

from harness import ROOT, reg_query, run, wait_for, winctl
from options_helpers import click, control, open_options, select_tab, start_with_options

RUN_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"
GENERAL_TAB = 5  # "その他の設定１"


def version():
    text = (ROOT / "base" / "version.h").read_text()
    return re.search(r'KORVANT_VERSION_DOTTED "(.*)"', text).group(1)


def package():
    result = run([str(ROOT / "scripts" / "package")], timeout=900)
    assert result.returncode == 0, result.stderr.decode(errors="replace")
    return ROOT / result.stdout.decode().strip().splitlines()[-1]


def windows_path(path):
    return "Z:" + str(path).replace("/", "\\")


def test_the_release_zip_is_the_same_every_time_and_its_exe_runs_from_it(korvant):
    first = package()
    data = first.read_bytes()
    assert first.name == f"KorvaNT-{version()}-win64.zip"
    assert package().read_bytes() == data

    app = korvant(start=False)
    with zipfile.ZipFile(first) as archive:
        assert archive.namelist() == ["KorvaNT/KorvaNT.exe", "KorvaNT/README.txt",
                                      "KorvaNT/LICENSE.txt"]
        for name in archive.namelist():
            (app.folder / name.split("/")[1]).write_bytes(archive.read(name))
        readme = archive.read("KorvaNT/README.txt").decode("utf-8-sig")
    assert "Windowsの起動時に実行" in readme and "CurrentVersion\\Run" in readme
    assert "■ アンインストール" in readme and "Removing it" in readme

    rc, out = winctl("version", windows_path(app.folder / "KorvaNT.exe"))
    assert rc == 0
    assert out.splitlines() == [version(), "コルバ君NT", "KorvaNT"]
    app.start()
    app.wait_main_window()


def test_the_start_with_windows_box_writes_replaces_and_removes_the_log_on_value(korvant):
    run(["wine", "reg", "delete", RUN_KEY, "/v", "KorvaNT", "/f"])
    app = start_with_options(korvant)
    ours = f'"{windows_path(app.folder / "KorvaNT.exe")}"'.lower()
    try:
        select_tab(GENERAL_TAB)
        assert control("IDC_START_WITH_WINDOWS").value == 0
        click("IDC_START_WITH_WINDOWS")
        wait_for(lambda: (reg_query(RUN_KEY, "KorvaNT") or "").lower() == ours,
                 what="the value naming this exe")
        assert control("IDC_START_WITH_WINDOWS").value == 1

        # A value naming another copy shows unchecked when the window opens again, and is
        # replaced when the box is ticked.
        run(["wine", "reg", "add", RUN_KEY, "/v", "KorvaNT", "/d", r'"C:\Other\KorvaNT.exe"',
             "/f"])
        click("IDC_CLOSE")
        open_options()
        wait_for(lambda: control("IDC_START_WITH_WINDOWS").value == 0, what="the box cleared")
        click("IDC_START_WITH_WINDOWS")
        wait_for(lambda: (reg_query(RUN_KEY, "KorvaNT") or "").lower() == ours,
                 what="the value replaced")

        click("IDC_START_WITH_WINDOWS")
        wait_for(lambda: reg_query(RUN_KEY, "KorvaNT") is None, what="the value removed")
        assert control("IDC_START_WITH_WINDOWS").value == 0
    finally:
        run(["wine", "reg", "delete", RUN_KEY, "/v", "KorvaNT", "/f"])
