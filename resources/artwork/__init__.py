"""Quorvel Delay's artwork, drawn from code so that every image shares one palette and one type face."""
