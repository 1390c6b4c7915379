"""The end-to-end scenarios, one module per group; importing them registers them."""
from . import startup_gate, main_window, high_dpi  # noqa: F401
