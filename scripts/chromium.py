"""Headless Chromium for the online page's tests and benchmark, as root, with no request of its own
to the network."""
import tempfile

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

Flags = ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync"]


def chromium(*flags, width=1280, height=900):
    """A new Chromium with a fresh profile that logs every network request."""
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in Flags + list(flags):
        options.add_argument(flag)
    options.add_argument("--user-data-dir=" + tempfile.mkdtemp(prefix="tarvik-chromium-"))
    options.add_argument(f"--window-size={width},{height}")
    options.set_capability("goog:loggingPrefs", {"performance": "ALL"})
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
