"""The end-to-end harness: drives the real game binary on an X server, as a player and a screen
reader would. Input goes in as real X events (xdotool, through XTEST), pixels come back from
screenshots of the root window (xwd), and texts are read from the accessibility tree (AT-SPI),
never from the program's insides.

One concern a module:
- checks: a failed check, a skipped test, polling until something holds;
- xwindows: X windows and pixels: the X tools, window geometry and properties, screenshots,
  closing a window as a window manager does;
- pictures: RGB images, PNG files read and written, colours compared;
- a11y: the program's widgets read through the accessibility tree;
- board: the game window's layout, its result text, and the board by its pixels (the look at
  opening, the wait for a deal);
- game: one run of the program, given its command, environment and how to find its windows;
- runner: a test's session (scratch folder, screenshots, games) and run(test), which makes a
  script's exit code and keeps the evidence of a failure.
"""
