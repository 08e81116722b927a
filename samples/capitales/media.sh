#!/usr/bin/env bash
# A text quiz has no media.
exit 0
