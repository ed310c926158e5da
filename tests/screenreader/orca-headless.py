#!/usr/bin/python3
"""Runs the screen reader Orca with no speech server, writing what it would say to a debug
file: every utterance is a line "SPEECH OUTPUT: '...'". Its settings live in a folder of their
own, so nothing of the user's own set-up is read or changed.

    orca-headless.py DEBUG_FILE PREFS_DIR
"""
import sys

from orca import debug, settings

debug.debugLevel = debug.LEVEL_INFO
debug.debugFile = open(sys.argv[1], "w", buffering=1, encoding="utf-8")
# No factory to fall back on: speech is logged, never sent to a synthesiser.
settings.speechServerFactory = "none"
settings.speechFactoryModules = []

from orca import orca  # noqa: E402  (reads the settings above when imported)

manager = orca.getSettingsManager()
manager.activate(sys.argv[2], {})
sys.exit(orca.main())
