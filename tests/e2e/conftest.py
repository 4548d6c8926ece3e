import pathlib
import sys

import pytest

sys.path.insert(0, str(pathlib.Path(__file__).parent))
import harness  # noqa: E402
from desktop_helpers import page_server  # noqa: E402


@pytest.fixture(scope="session", autouse=True)
def persistent_wineserver():
    """Keeps one server for the prefix so that Wine starts stay fast and never race its exit;
    a server these tests started is ended after them, one that was running is left as it was."""
    # wineserver ends with 2 when the prefix's server is already up.
    started = harness.run(["wineserver", "-p"]).returncode == 0
    yield
    if started:
        harness.run(["wineserver", "-k"])


@pytest.fixture
def korvant(request):
    """Makes KorvaNT instances in fresh folders and ends every one the test started."""
    started = []

    def make(files=None, start=True, beside=None):
        """`beside`: another start of that instance's exe, in its folder."""
        name = request.node.name + (f"-{len(started) + 1}" if started else "")
        instance = harness.Korvant(name, files, beside.folder if beside else None)
        started.append(instance)
        return instance.start() if start else instance

    yield make
    for instance in started:
        instance.stop()


@pytest.fixture
def pages():
    """Starts page servers on free ports and stops them after the test."""
    started = []

    def make(**kwargs):
        server = page_server.PageServer(**kwargs).start()
        started.append(server)
        return server

    yield make
    for server in started:
        server.stop()
