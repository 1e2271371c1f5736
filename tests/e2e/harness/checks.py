"""What every test step uses: a check that raises Failure, Skip for a test that cannot run
here, and wait_until, which polls until something holds or fails after a time."""

import time


class Failure(Exception):
    """A check of the test did not hold."""


class Skip(Exception):
    """The test cannot run on this machine (said why)."""


def check(condition, message):
    if not condition:
        raise Failure(message)


def wait_until(predicate, timeout, what, interval=0.1):
    """Polls until predicate() gives a true value and returns it; fails after timeout seconds."""
    deadline = time.monotonic() + timeout
    last_error = None
    while True:
        try:
            value = predicate()
            if value:
                return value
        except Failure as e:
            last_error = e
        if time.monotonic() >= deadline:
            raise Failure("timed out after %.1f s waiting for %s%s" %
                          (timeout, what, (": %s" % last_error) if last_error else ""))
        time.sleep(interval)
