"""The end-to-end scenarios, one module per group; importing them registers them."""
from . import startup_gate, main_window, high_dpi  # noqa: F401
from . import install_full, install_failures, install_progress  # noqa: F401
